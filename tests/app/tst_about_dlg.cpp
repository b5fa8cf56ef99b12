// The About box and its links: texts, colours before and after a visit, the tool tips and
// cursor, the error box for each failure an opener reports, and the Help menu command.
#include "app_test_util.h"

#include "about_dlg.h"
#include "cinerad_app.h"
#include "link_static.h"
#include "main_frame.h"
#include "resource_pictures.h"

#include "editor/command_ids.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

QStringList LabelTexts(const QWidget& dlg) {
    QStringList texts;
    for (const QLabel* label : dlg.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            texts << label->text();
        }
    }
    return texts;
}

// Whether any pixel of the rendered control has exactly this colour.
bool Shows(QWidget& w, const QColor& colour) {
    const QImage image = w.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb()) {
                return true;
            }
        }
    }
    return false;
}

TEST(AboutDlg, ShowsItsTextsAndThreeLinksWithTheirAddresses) {
    CAboutDialog dlg;
    EXPECT_EQ(dlg.objectName(), "100");
    EXPECT_EQ(dlg.windowTitle(), "About Cinerad II");
    const QStringList texts = LabelTexts(dlg);
    EXPECT_TRUE(texts.contains("Cinerad II - THE QUAKE 2 DEMO EDITOR / MOVIE STUDIO"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Version %1").arg(CineradVersion())));
    EXPECT_STREQ(CineradVersion(), "2.0.0");
    const auto* picture = dlg.findChild<QLabel*>(QStringLiteral("207"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixmap().size(), QSize(443, 265));

    CLinkStatic* web = dlg.findChild<CLinkStatic*>(QStringLiteral("1205"));
    CLinkStatic* mail1 = dlg.findChild<CLinkStatic*>(QStringLiteral("1203"));
    CLinkStatic* mail2 = dlg.findChild<CLinkStatic*>(QStringLiteral("1204"));
    ASSERT_TRUE(web && mail1 && mail2);
    // The web link opens its own caption; the e-mail links their addresses.
    EXPECT_EQ(web->URL(), web->text());
    EXPECT_EQ(web->URL(), "http://www.example.com/cinerad/");
    EXPECT_EQ(mail1->URL(), "mailto:maintainer@example.org");
    EXPECT_EQ(mail2->URL(), "mailto:support@example.net");
    EXPECT_TRUE(mail1->text().startsWith("Email "));
    for (CLinkStatic* link : {web, mail1, mail2}) {
        SCOPED_TRACE(link->objectName().toStdString());
        EXPECT_EQ(link->toolTip(), link->URL());
        EXPECT_TRUE(link->Underline());
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->cursor().hotSpot(), LinkCursorHotSpot());
        EXPECT_FALSE(link->cursor().pixmap().isNull());
        EXPECT_EQ(link->LinkColour(), QColor(0, 0, 238));
    }
    EXPECT_EQ(web->VisitedColour(), QColor(85, 26, 139));
    EXPECT_EQ(mail1->VisitedColour(), QColor(255, 0, 0));
    EXPECT_EQ(mail2->VisitedColour(), QColor(255, 0, 0));
}

TEST(LinkStatic, AClickThatOpensTurnsTheLinkToItsVisitedColour) {
    CAboutDialog dlg;
    CLinkStatic* web = dlg.WebLink();
    CLinkStatic* mail = dlg.MaintainerLink();
    QStringList opened;
    const UrlOpener ok = [&opened](const QString& url) {
        opened << url;
        return kLinkOpened;
    };
    web->SetOpener(ok);
    mail->SetOpener(ok);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_TRUE(Shows(*web, QColor(0, 0, 238)));
    EXPECT_FALSE(Shows(*web, QColor(85, 26, 139)));

    QTest::mouseClick(web, Qt::LeftButton);
    QTest::mouseClick(mail, Qt::LeftButton);
    EXPECT_EQ(opened,
              (QStringList{"http://www.example.com/cinerad/", "mailto:maintainer@example.org"}));
    EXPECT_TRUE(web->Visited());
    EXPECT_EQ(web->TextColour(), QColor(85, 26, 139));
    EXPECT_TRUE(Shows(*web, QColor(85, 26, 139)));
    EXPECT_EQ(mail->TextColour(), QColor(255, 0, 0));
    EXPECT_TRUE(Shows(*mail, QColor(255, 0, 0)));
    EXPECT_FALSE(dlg.SupportLink()->Visited());
}

TEST(LinkStatic, AFailedOpenShowsTheErrorForItsCodeAndStaysUnvisited) {
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {31, "There is no application associated\nwith the given filename extension."},
        {2, "The specified file was not found."},
        {0, "The operating system is out\nof memory or resources."},
        {12, "Unknown Error (12) occurred."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        CLinkStatic link(QStringLiteral("caption only"));
        EXPECT_EQ(link.URL(), "caption only"); // never set: the caption is the address
        QString asked;
        link.SetOpener([&asked, code = c.code](const QString& url) {
            asked = url;
            return code;
        });
        QString shown;
        OnNextModal([&shown](QWidget* box) {
            shown = static_cast<QMessageBox*>(box)->text();
            static_cast<QDialog*>(box)->reject();
        });
        EXPECT_EQ(link.Open(), c.code);
        EXPECT_EQ(asked, "caption only");
        EXPECT_EQ(PendingModalAnswers(), 0);
        EXPECT_EQ(shown, QStringLiteral("Unable to open hyperlink:\n\n") + c.text);
        EXPECT_FALSE(link.Visited());
    }
}

TEST(LinkStatic, ErrorTextsAndXdgOpenCodes) {
    EXPECT_EQ(LinkErrorText(26), "A sharing violation occurred. ");
    EXPECT_EQ(LinkErrorText(30), "The DDE transaction could not\nbe completed because other DDE "
                                 "transactions\nwere being processed.");
    EXPECT_EQ(LinkErrorText(33), "Unknown Error (33) occurred.");
    EXPECT_EQ(LinkErrorMessage(32),
              "Unable to open hyperlink:\n\nThe specified dynamic-link library was not found.");
    EXPECT_GT(LinkCodeForXdgOpenExit(0), 32);
    EXPECT_EQ(LinkCodeForXdgOpenExit(2), 2);
    EXPECT_EQ(LinkCodeForXdgOpenExit(3), 31);
    EXPECT_EQ(LinkCodeForXdgOpenExit(4), 31);
}

TEST(LinkStatic, AnEmptyCaptionShowsTheAddressAndSettingOneRefitsAndRetips) {
    CLinkStatic link(QString(), nullptr, QStringLiteral("http://www.example.net/"));
    EXPECT_EQ(link.text(), "http://www.example.net/");
    const int wide = link.width();
    link.setText(QStringLiteral("x"));
    link.SetURL(QStringLiteral("http://a.example.org/"));
    EXPECT_EQ(link.toolTip(), "http://a.example.org/");
    EXPECT_LT(link.width(), wide);
    EXPECT_EQ(link.width(), link.fontMetrics().size(Qt::TextSingleLine, "x").width());
}

TEST(AboutDlg, TheHelpMenuCommandIsEnabledAndOpensTheBox) {
    ResetSettings();
    StoreNormalSettings();
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CMainFrame& frame = app.Frame();
    EXPECT_TRUE(frame.IsCommandEnabled(ID_APP_ABOUT));
    EXPECT_TRUE(frame.Action(ID_APP_ABOUT)->isEnabled());
    QString title;
    OnNextModal([&title](QWidget* dlg) {
        title = dlg->windowTitle();
        static_cast<QDialog*>(dlg)->accept();
    });
    EXPECT_TRUE(frame.ExecuteCommand(ID_APP_ABOUT));
    EXPECT_EQ(title, "About Cinerad II");
    EXPECT_EQ(PendingModalAnswers(), 0);
    ClearModalAnswers();
}

} // namespace
