// "About Cinerad II" (dialog 100): the title picture, the product and version lines and three
// links: the web page (1205) and two e-mail addresses (1203, 1204).
#pragma once

#include <QDialog>

class CLinkStatic;

// The web page the About box names, and the two addresses its e-mail links write to.
extern const char* const kAboutWebAddress;
extern const char* const kAboutMaintainerMail;
extern const char* const kAboutSupportMail;

// The program's version, as `tresk --version` and the About box show it ("2.0.0").
const char* CineradVersion();

class CAboutDialog : public QDialog {
    Q_OBJECT
  public:
    // Plays the default beep, as the box always has.
    explicit CAboutDialog(QWidget* parent = nullptr);

    CLinkStatic* WebLink() const { return web_; }
    CLinkStatic* MaintainerLink() const { return maintainer_; }
    CLinkStatic* SupportLink() const { return support_; }

  private:
    CLinkStatic* web_;
    CLinkStatic* maintainer_;
    CLinkStatic* support_;
};
