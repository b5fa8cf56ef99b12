#include "about_dlg.h"

#include "link_static.h"
#include "resource_pictures.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const char* const kAboutWebAddress = "http://www.example.com/cinerad/";
const char* const kAboutMaintainerMail = "mailto:maintainer@example.org";
const char* const kAboutSupportMail = "mailto:support@example.net";

const char* CineradVersion() {
    return CINERAD_VERSION;
}

namespace {

QLabel* Line(const QString& text, QWidget* parent, int id = 0) {
    auto* label = new QLabel(text, parent);
    if (id != 0) {
        label->setObjectName(QString::number(id));
    }
    return label;
}

} // namespace

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    QApplication::beep();
    setObjectName(QStringLiteral("100"));
    setWindowTitle(tr("About Cinerad II"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("207"));
    picture->setPixmap(QPixmap::fromImage(TitlePicture()));

    auto* texts = new QVBoxLayout;
    texts->addWidget(
        Line(QStringLiteral("Cinerad II - THE QUAKE 2 DEMO EDITOR / MOVIE STUDIO"), this));
    texts->addWidget(
        Line(QStringLiteral("Version %1").arg(QString::fromLatin1(CineradVersion())), this, 1206));
    texts->addWidget(
        Line(QStringLiteral("Cut, mend and film your Quake 2 demos, block by block."), this));
    texts->addWidget(
        Line(QStringLiteral("Free to use and share; bug reports and ideas are welcome."), this));

    // The web link opens its own caption; the e-mail links get their addresses below.
    web_ = new CLinkStatic(QString::fromLatin1(kAboutWebAddress), this);
    web_->setObjectName(QStringLiteral("1205"));
    maintainer_ = new CLinkStatic(QStringLiteral("Email Maintainer"), this);
    maintainer_->setObjectName(QStringLiteral("1203"));
    support_ = new CLinkStatic(QStringLiteral("Email Support"), this);
    support_->setObjectName(QStringLiteral("1204"));

    // Initialisation: the e-mail links' addresses, pure red once visited, underlined; every
    // link shows the pointing hand.
    maintainer_->SetURL(QString::fromLatin1(kAboutMaintainerMail));
    support_->SetURL(QString::fromLatin1(kAboutSupportMail));
    for (CLinkStatic* mail : {maintainer_, support_}) {
        mail->SetColours(mail->LinkColour(), QColor(255, 0, 0));
        mail->SetUnderline(true);
    }
    for (CLinkStatic* link : {web_, maintainer_, support_}) {
        link->SetLinkCursor(LinkCursor());
    }

    auto* links = new QHBoxLayout;
    links->addWidget(web_);
    links->addStretch();
    links->addWidget(maintainer_);
    links->addWidget(support_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addLayout(texts);
    layout->addLayout(links);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
