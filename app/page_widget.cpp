#include "page_widget.h"

#include "editor/pages/message_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The digits a number field shows without scrolling, and what a line edit adds around them.
constexpr int kNumberDigits = 13;
constexpr int kLineEditPadding = 12;

QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

void SetFieldValue(QWidget* widget, const PageField& field) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(ToQt(field.value));
        line->setCursorPosition(0);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        text->setPlainText(ToQt(field.value));
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        box->setChecked(field.value == "1");
    } else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        table->setRowCount(static_cast<int>(field.rows.size()));
        for (size_t r = 0; r < field.rows.size(); ++r) {
            const int row = static_cast<int>(r);
            auto* label = new QTableWidgetItem(ToQt(field.rows[r].label));
            label->setFlags(Qt::ItemIsEnabled);
            auto* value = new QTableWidgetItem(ToQt(field.rows[r].value));
            if (field.readOnly) {
                value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            table->setItem(row, 0, label);
            table->setItem(row, 1, value);
        }
    }
}

void TakeFieldValue(const QWidget* widget, PageField& field) {
    if (widget == nullptr || field.readOnly || field.kind == PageFieldKind::ReadOnly) {
        return;
    }
    if (auto* line = qobject_cast<const QLineEdit*>(widget)) {
        field.value = line->text().toStdString();
    } else if (auto* text = qobject_cast<const QPlainTextEdit*>(widget)) {
        field.value = text->toPlainText().toStdString();
    } else if (auto* box = qobject_cast<const QCheckBox*>(widget)) {
        field.value = std::string(box->isChecked() ? "1" : "0");
    } else if (auto* table = qobject_cast<const QTableWidget*>(widget)) {
        for (size_t r = 0; r < field.rows.size() && static_cast<int>(r) < table->rowCount(); ++r) {
            if (const QTableWidgetItem* item = table->item(static_cast<int>(r), 1)) {
                field.rows[r].value = item->text().toStdString();
            }
        }
    }
}

} // namespace

CPageWidget::CPageWidget(const MessagePage& page, std::function<void(const std::string&)> onButton,
                         QWidget* parent)
    : QWidget(parent), resourceId_(page.ResourceId()) {
    setObjectName(QString::number(page.ResourceId()));

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    int row = -1;
    int column = 1;
    const auto& fields = page.Fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const PageField& field = fields[i];
        QWidget* widget = CreateFieldWidget(field);
        const bool nextContinues = i + 1 < fields.size() && fields[i + 1].label.empty() &&
                                   fields[i + 1].kind != PageFieldKind::Static;
        fieldWidgets_.push_back(widget);
        const bool continuesRow = field.label.empty() && row >= 0 && column < 4;
        if (!continuesRow) {
            ++row;
            column = 1;
            if (field.kind == PageFieldKind::Static) {
                auto* text = new QLabel(ToQt(field.label), this);
                text->setObjectName(ToQt(field.key));
                text->setWordWrap(true);
                grid->addWidget(text, row, 0, 1, 4);
                continue;
            }
            if (field.kind != PageFieldKind::CheckBox && !field.label.empty()) {
                auto* label = new QLabel(ToQt(field.label), this);
                label->setBuddy(widget);
                grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
            }
        }
        if (widget == nullptr) {
            continue;
        }
        // A text alone on its row takes the whole width; numbers keep a number's width.
        const bool text =
            field.kind != PageFieldKind::Number && field.kind != PageFieldKind::CheckBox;
        if (!continuesRow && !nextContinues && text) {
            grid->addWidget(widget, row, 1, 1, 3);
            column = 4;
        } else {
            grid->addWidget(widget, row, column);
            ++column;
        }
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    if (!page.Buttons().empty()) {
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        for (const PageButton& button : page.Buttons()) {
            auto* push = new QPushButton(ToQt(button.label), this);
            push->setObjectName(ToQt(button.key));
            const std::string key = button.key;
            connect(push, &QPushButton::clicked, this, [onButton, key] {
                if (onButton) {
                    onButton(key);
                }
            });
            buttons->addWidget(push);
        }
        layout->addLayout(buttons);
    }
    layout->addStretch();
    ShowValues(page);
}

QWidget* CPageWidget::CreateFieldWidget(const PageField& field) {
    QWidget* widget = nullptr;
    switch (field.kind) {
    case PageFieldKind::Static:
        return nullptr;
    case PageFieldKind::Line:
    case PageFieldKind::Number:
    case PageFieldKind::ReadOnly: {
        auto* line = new QLineEdit(this);
        line->setReadOnly(field.readOnly || field.kind == PageFieldKind::ReadOnly);
        if (field.maxChars > 0) {
            line->setMaxLength(static_cast<int>(field.maxChars));
        }
        if (field.kind == PageFieldKind::Number) {
            // Room for the longest numbers the pages show, such as "-27.4658203125".
            line->setMinimumWidth(line->fontMetrics().horizontalAdvance(QStringLiteral("-")) +
                                  line->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                                      kNumberDigits +
                                  kLineEditPadding);
        }
        widget = line;
        break;
    }
    case PageFieldKind::MultiLine: {
        auto* text = new QPlainTextEdit(this);
        text->setReadOnly(field.readOnly);
        text->setTabChangesFocus(true);
        text->setMinimumHeight(60);
        widget = text;
        break;
    }
    case PageFieldKind::CheckBox: {
        auto* box = new QCheckBox(ToQt(field.label), this);
        widget = box;
        break;
    }
    case PageFieldKind::List: {
        auto* table = new QTableWidget(0, 2, this);
        table->horizontalHeader()->setVisible(false);
        table->verticalHeader()->setVisible(false);
        table->horizontalHeader()->setStretchLastSection(true);
        table->setMinimumHeight(120);
        widget = table;
        break;
    }
    }
    widget->setObjectName(ToQt(field.key));
    widget->setEnabled(field.enabled);
    return widget;
}

void CPageWidget::ShowValues(const MessagePage& page) {
    const auto& fields = page.Fields();
    for (size_t i = 0; i < fields.size() && i < fieldWidgets_.size(); ++i) {
        if (fieldWidgets_[i] != nullptr) {
            SetFieldValue(fieldWidgets_[i], fields[i]);
            fieldWidgets_[i]->setEnabled(fields[i].enabled);
        }
    }
}

void CPageWidget::StoreValues(MessagePage& page) const {
    auto& fields = page.Fields();
    for (size_t i = 0; i < fields.size() && i < fieldWidgets_.size(); ++i) {
        TakeFieldValue(fieldWidgets_[i], fields[i]);
    }
}
