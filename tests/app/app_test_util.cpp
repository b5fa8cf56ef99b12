#include "app_test_util.h"

#include "cinerad_app.h"
#include "doc_host.h"
#include "main_frame.h"
#include "tresk_view_form.h"

#include "demo/app_settings.h"
#include "fx/game_demo_builder.h"
#include "orrery/cqrefapiimport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <deque>

#include <gtest/gtest.h>

namespace apptest {

namespace {

std::deque<std::function<void(QWidget*)>>& Answers() {
    static std::deque<std::function<void(QWidget*)>> answers;
    return answers;
}

QTimer*& AnswerTimer() {
    static QTimer* timer = nullptr;
    return timer;
}

// A dialog is answered once; the next answer waits for the next dialog.
QPointer<QWidget>& LastAnswered() {
    static QPointer<QWidget> last;
    return last;
}

void AnswerIfModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || Answers().empty() || modal == LastAnswered()) {
        return;
    }
    auto act = std::move(Answers().front());
    Answers().pop_front();
    LastAnswered() = modal;
    act(modal);
}

} // namespace

SettingsFolder::SettingsFolder() {
    path_ = dir_.path();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path_);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path_);
}

void ResetSettings() {
    QSettings store(QStringLiteral("Cinerad2"), QStringLiteral("Tresk"));
    store.clear();
    store.sync();
    TheAppSettings() = AppSettings{};
    CQRefApiImport::RemovePakFiles();
}

void StoreNormalSettings() {
    QSettings store(QStringLiteral("Cinerad2"), QStringLiteral("Tresk"));
    store.setValue(QStringLiteral("Options/Gamma"), 40);
    store.setValue(QStringLiteral("Options/Quake2 Path"), QStringLiteral("/nonexistent/quake2"));
    store.setValue(QStringLiteral("Options/PreviewRes_X"), 320);
    store.setValue(QStringLiteral("Options/PreviewRes_Y"), 240);
    store.setValue(QStringLiteral("Pak Files/Pak0"), QStringLiteral("/nonexistent/pak0.pak"));
    store.sync();
}

void StorePreviewPak(const QString& pak) {
    QSettings store(QStringLiteral("Cinerad2"), QStringLiteral("Tresk"));
    store.setValue(QStringLiteral("Pak Files/Pak0"), pak);
    store.setValue(QStringLiteral("Options/PreviewRes_X"), 160);
    store.setValue(QStringLiteral("Options/PreviewRes_Y"), 120);
    store.sync();
}

void OnNextModal(std::function<void(QWidget*)> act) {
    Answers().push_back(std::move(act));
    if (AnswerTimer() == nullptr) {
        AnswerTimer() = new QTimer;
        AnswerTimer()->setInterval(5);
        QObject::connect(AnswerTimer(), &QTimer::timeout, &AnswerIfModal);
    }
    AnswerTimer()->start();
}

int PendingModalAnswers() {
    return static_cast<int>(Answers().size());
}

void ClearModalAnswers() {
    Answers().clear();
    if (AnswerTimer() != nullptr) {
        AnswerTimer()->stop();
    }
}

ModalRecorder::ModalRecorder() : timer_(new QTimer) {
    timer_->setInterval(5);
    QObject::connect(timer_, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            texts_ << box->text();
        } else {
            texts_ << modal->windowTitle();
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    });
    timer_->start();
}

ModalRecorder::~ModalRecorder() {
    delete timer_;
}

void PressButton(QWidget* dialog, int standardButton) {
    const auto which = static_cast<QDialogButtonBox::StandardButton>(standardButton);
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        box->button(static_cast<QMessageBox::StandardButton>(standardButton))->click();
        return;
    }
    for (QDialogButtonBox* buttons : dialog->findChildren<QDialogButtonBox*>()) {
        if (QPushButton* button = buttons->button(which)) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no such button on " << dialog->objectName().toStdString();
}

void TypeInto(QWidget* dialog, const char* objectName, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(objectName));
    if (edit == nullptr) {
        ADD_FAILURE() << "no edit " << objectName;
        return;
    }
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QString WriteGameDemo(const QDir& folder, const QString& name, int frames, uint32_t seed) {
    fx::GameDemoOptions options;
    options.frames = frames;
    options.seed = seed;
    fx::GameDemoBuilder builder(options);
    const QString path = folder.filePath(name);
    builder.WriteFile(path.toStdString());
    return path;
}

void GameDemoTest::SetUp() {
    ResetSettings();
    StoreNormalSettings();
    ASSERT_TRUE(dir_.isValid());
    demo_ = WriteGameDemo(QDir(dir_.path()), QStringLiteral("game.dm2"), frames_);
}

void GameDemoTest::TearDown() {
    ClearModalAnswers();
    ResetSettings();
}

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

RunningApp::RunningApp(const QStringList& arguments) : app_(std::make_unique<CTreskApp>()) {
    started_ = app_->InitInstance(QStringList{QStringLiteral("tresk")} + arguments);
}

RunningApp::~RunningApp() {
    // A test that leaves changes behind is not asked about them at the end.
    if (app_->MainFrame() != nullptr && !closed_) {
        for (DocHost* host : app_->Documents()) {
            host->Doc().history.MarkSaved();
            host->MarkSaved();
        }
    }
    Close();
    app_.reset();
    ProcessEvents();
}

CMainFrame& RunningApp::Frame() {
    return *app_->MainFrame();
}

CTreskViewForm* RunningApp::ActiveForm() {
    if (app_->MainFrame() == nullptr) {
        return nullptr;
    }
    return qobject_cast<CTreskViewForm*>(Frame().ActiveView());
}

QWidget* RunningApp::FormWidget() {
    return ActiveForm();
}

void RunningApp::Click(int controlId) {
    auto* button = Find<QPushButton>(QString::number(controlId));
    ASSERT_NE(button, nullptr) << "no button " << controlId;
    QTest::mouseClick(button, Qt::LeftButton);
}

QString RunningApp::Text(int controlId) {
    auto* label = Find<QLabel>(QString::number(controlId));
    return label == nullptr ? QString() : label->text();
}

bool RunningApp::Close() {
    if (closed_ || app_->MainFrame() == nullptr) {
        return true;
    }
    if (!Frame().close()) {
        ProcessEvents();
        return false; // the person kept the program
    }
    closed_ = true;
    ProcessEvents();
    app_->ExitInstance();
    return true;
}

QString ShownTitle(const QWidget& window) {
    QString title = window.windowTitle();
    return title.replace(QStringLiteral("[*]"),
                         window.isWindowModified() ? QStringLiteral("*") : QString());
}

} // namespace apptest
