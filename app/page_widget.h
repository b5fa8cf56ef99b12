// An edit page drawn from its model: one widget per field, in the model's order, each named
// by the field's key so tests and the person's tools can find it, and the page's buttons.
#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class MessagePage;
struct PageField;

class CPageWidget : public QWidget {
    Q_OBJECT
  public:
    // Builds the widgets for the page's fields and buttons and shows the model's values.
    // `onButton` runs when a page button is clicked, with the button's key.
    CPageWidget(const MessagePage& page, std::function<void(const std::string&)> onButton,
                QWidget* parent = nullptr);

    // Shows the model's values again (a button changed them).
    void ShowValues(const MessagePage& page);
    // Copies what the person typed into the model's values.
    void StoreValues(MessagePage& page) const;

    int ResourceId() const { return resourceId_; }

  private:
    // The widget that holds a field's value (null for a static text).
    QWidget* CreateFieldWidget(const PageField& field);

    int resourceId_;
    std::vector<QWidget*> fieldWidgets_; // one per model field, in order; null for statics
};
