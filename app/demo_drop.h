// Demos dragged from a file manager onto the main window: the drag is accepted only when it
// carries at least one local *.dm2 file, and the drop opens each of them.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

// The local files of a drag whose names end in ".dm2" (in any case), in the drag's order.
QStringList DroppedDemoFiles(const QMimeData& data);

// Makes `window` accept drops of demos and opens each dropped demo with `open`.
class DemoDropHandler : public QObject {
    Q_OBJECT
  public:
    DemoDropHandler(QWidget* window, std::function<void(const QString&)> open);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const QString&)> open_;
};
