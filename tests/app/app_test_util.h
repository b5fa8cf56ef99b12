// Helpers of the editor's tests: a private settings store, answering modal dialogs from inside
// their event loops, demos written by the fixture library, and the running program.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

class CMainFrame;
class CTreskApp;
class CTreskViewForm;
class QAbstractButton;
class QTimer;

#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace apptest {

// Points the settings store of the whole test program at a temporary folder.
class SettingsFolder {
  public:
    SettingsFolder();
    const QString& Path() const { return path_; }

  private:
    QTemporaryDir dir_;
    QString path_;
};

// Empties the settings store, the process-wide settings record and the renderer host's pak
// list, so that each test starts from nothing.
void ResetSettings();
// Stores the values a normal (not first) run reads.
void StoreNormalSettings();
// Names `pak` as the one pak file and a small 3D preview (160x120), for the sample's map.
void StorePreviewPak(const QString& pak);

// Runs `act` on the next modal dialog that shows, from inside its own event loop. Every call
// adds one answer; answers are used in the order they were added.
void OnNextModal(std::function<void(QWidget*)> act);
// Answers that are still waiting (a dialog that was expected and did not show).
int PendingModalAnswers();
// Drops the waiting answers.
void ClearModalAnswers();

// While it lives, closes every modal dialog that shows (with its default button) and keeps
// the texts of the message boxes among them.
class ModalRecorder {
  public:
    ModalRecorder();
    ~ModalRecorder();
    const QStringList& Texts() const { return texts_; }

  private:
    QStringList texts_;
    QTimer* timer_;
};

// Presses a dialog button of a message box or a dialog's button box.
void PressButton(QWidget* dialog, int standardButton);
// Sets a line edit of a dialog by its object name, as if typed (textEdited is emitted).
void TypeInto(QWidget* dialog, const char* objectName, const QString& text);

// A generated game demo of `frames` frame blocks, written into `folder`.
QString WriteGameDemo(const QDir& folder, const QString& name, int frames, uint32_t seed = 7);

// A test of the program on a generated game demo: the settings a normal run reads, and
// `frames` frame blocks in "game.dm2" (demo_) in a folder of its own (dir_). The settings and
// any unused dialog answers are cleared after it.
class GameDemoTest : public testing::Test {
  protected:
    explicit GameDemoTest(int frames) : frames_(frames) {}
    void SetUp() override;
    void TearDown() override;

    QTemporaryDir dir_;
    QString demo_;

  private:
    int frames_;
};

// The program started as `tresk <demo>` with a temporary settings store; closed on destruction.
class RunningApp {
  public:
    // Starts the program; `arguments` follow the program name.
    explicit RunningApp(const QStringList& arguments = {});
    ~RunningApp();

    bool Started() const { return started_; }
    CTreskApp& App() { return *app_; }
    CMainFrame& Frame();
    // The editor form of the active window, or null.
    CTreskViewForm* ActiveForm();
    // A widget of the active editor form by its object name (a control id or a field key).
    QWidget* FormWidget();
    template <class T> T* Find(const QString& name) {
        QWidget* form = FormWidget();
        return form == nullptr ? nullptr : form->findChild<T*>(name);
    }
    // Clicks a button of the active editor form, found by its control id.
    void Click(int controlId);
    // The text of a static of the active form by its control id.
    QString Text(int controlId);
    // Closes the main window as the person would, and lets deferred deletions run. False
    // when the program stayed (Cancel to a save question).
    bool Close();

  private:
    std::unique_ptr<CTreskApp> app_;
    bool started_ = false;
    bool closed_ = false;
};

// Lets posted events and deferred deletions run.
void ProcessEvents();

// A window's title as the window system shows it: the "[*]" placeholder becomes "*" while the
// window is marked modified, and goes otherwise.
QString ShownTitle(const QWidget& window);

} // namespace apptest
