#include "orrery/cqrefapiimport.h"

#include "recording_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orrery_test::FindCVar;
using orrery_test::RecordingHost;

namespace {

TEST(CQRefApiImportCVars, DefaultsAreCreatedInOrderNewestFirst) {
    const CQRefApiImport host;
    std::vector<std::string> names;
    for (cvar_t* record = host.GetCVarList(); record; record = record->next) {
        names.push_back(record->name);
        EXPECT_EQ(record->latched_string, nullptr);
        EXPECT_EQ(record->flags, 0) << record->name;
        EXPECT_EQ(record->modified, 1) << record->name;
    }
    ASSERT_EQ(names.size(), 32u);
    EXPECT_EQ(names.front(), "sw_mode");
    EXPECT_EQ(names[1], "sw_allow_modex");
    EXPECT_EQ(names[26], "vid_gamma");
    EXPECT_EQ(names.back(), "hostname");

    EXPECT_STREQ(FindCVar(host, "vid_gamma")->string, "0.4");
    EXPECT_FLOAT_EQ(FindCVar(host, "vid_gamma")->value, 0.4f);
    EXPECT_STREQ(FindCVar(host, "vid_ypos")->string, "22.000000");
    EXPECT_FLOAT_EQ(FindCVar(host, "sensitivity")->value, 10.5f);
    EXPECT_FLOAT_EQ(FindCVar(host, "m_pitch")->value, 0.022f);
    EXPECT_STREQ(FindCVar(host, "vid_ref")->string, "soft");
    EXPECT_EQ(FindCVar(host, "vid_ref")->value, 0.0f) << "a text that is no number reads as 0";
    EXPECT_FLOAT_EQ(FindCVar(host, "rate")->value, 25000.0f);
}

TEST(CQRefApiImportCVars, GetFindsNamesInAnyLetterCaseAndOnlyAddsFlags) {
    CQRefApiImport host;
    cvar_t* gamma = FindCVar(host, "vid_gamma");
    cvar_t* found = host.CVar_Get("VID_Gamma", "1.0", CVAR_ARCHIVE);
    EXPECT_EQ(found, gamma);
    EXPECT_STREQ(found->string, "0.4");
    EXPECT_FLOAT_EQ(found->value, 0.4f);
    EXPECT_EQ(found->flags, CVAR_ARCHIVE);
    host.CVar_Get("vid_gamma", nullptr, CVAR_LATCH);
    EXPECT_EQ(found->flags, CVAR_ARCHIVE | CVAR_LATCH);
    EXPECT_STREQ(found->name, "vid_gamma") << "the stored name keeps its letter case";
}

TEST(CQRefApiImportCVars, GetCreatesMissingVariablesAtTheHead) {
    CQRefApiImport host;
    char name[] = "gl_modulate";
    char value[] = "1.5";
    cvar_t* created = host.CVar_Get(name, value, CVAR_ARCHIVE | CVAR_USERINFO);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(host.GetCVarList(), created);
    EXPECT_EQ(created->next, FindCVar(host, "sw_mode"));
    // Texts are copies, not the caller's buffers.
    name[0] = 'X';
    value[0] = '9';
    EXPECT_STREQ(created->name, "gl_modulate");
    EXPECT_STREQ(created->string, "1.5");
    EXPECT_FLOAT_EQ(created->value, 1.5f);
    EXPECT_EQ(created->flags, CVAR_ARCHIVE | CVAR_USERINFO);
    EXPECT_EQ(created->modified, 1);
    EXPECT_EQ(created->latched_string, nullptr);
    EXPECT_EQ(host.CVar_Get(nullptr, "1", 0), nullptr);
}

TEST(CQRefApiImportCVars, SetByNumberStoresPrintfFixedText) {
    CQRefApiImport host;
    cvar_t* gamma = FindCVar(host, "vid_gamma");
    gamma->modified = 0;
    host.CVar_Set("vid_gamma", 0.8f);
    EXPECT_STREQ(gamma->string, "0.800000");
    EXPECT_FLOAT_EQ(gamma->value, 0.8f);
    EXPECT_EQ(gamma->modified, 0) << "setting leaves the modified flag alone";

    host.CVar_Set("vid_gamma", -2.5f);
    EXPECT_STREQ(gamma->string, "-2.500000");
    host.CVar_Set("vid_gamma", 1e20f);
    EXPECT_STREQ(gamma->string, "100000002004087734272.000000");
}

TEST(CQRefApiImportCVars, SetByTextReplacesTextAndNumberOrCreates) {
    CQRefApiImport host;
    cvar_t* viewsize = FindCVar(host, "viewsize");
    EXPECT_EQ(host.CVar_Set("ViewSize", " 40 "), viewsize);
    EXPECT_STREQ(viewsize->string, " 40 ");
    EXPECT_FLOAT_EQ(viewsize->value, 40.0f);
    EXPECT_EQ(host.CVar_Set("viewsize", "+7.25")->value, 7.25f);
    EXPECT_EQ(host.CVar_Set("viewsize", "big")->value, 0.0f);

    cvar_t* created = host.CVar_Set("r_fresh", "3");
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->flags, 0);
    EXPECT_FLOAT_EQ(created->value, 3.0f);
    EXPECT_EQ(host.CVar_Set(nullptr, "3"), nullptr);
}

TEST(CQRefApiImportCVars, RecordsStayWhereTheyAreWhileTheListGrows) {
    CQRefApiImport host;
    cvar_t* gamma = host.CVar_Get("vid_gamma", nullptr, 0);
    for (int i = 0; i < 200; ++i)
        host.CVar_Set(("r_var" + std::to_string(i)).c_str(), static_cast<float>(i));
    EXPECT_EQ(host.CVar_Get("vid_gamma", nullptr, 0), gamma);
    EXPECT_STREQ(gamma->name, "vid_gamma");
    EXPECT_STREQ(FindCVar(host, "r_var199")->string, "199.000000");
}

TEST(CQRefApiImportVideo, ModeInfoServesTheConfiguredSizeForEveryMode) {
    CQRefApiImport host;
    EXPECT_EQ(host.GetWidth(), 320);
    EXPECT_EQ(host.GetHeight(), 240);
    host.SetVideoInfo(640, 480);
    for (int mode : {-1, 0, 3, 99}) {
        int width = 0;
        int height = 0;
        EXPECT_EQ(host.Vid_GetModeInfo(&width, &height, mode), 1);
        EXPECT_EQ(width, 640);
        EXPECT_EQ(height, 480);
    }
    EXPECT_EQ(host.Vid_GetModeInfo(nullptr, nullptr, 0), 1);
    host.Vid_NewWindow(800, 600);
    EXPECT_EQ(host.GetWidth(), 800);
    EXPECT_EQ(host.GetHeight(), 600);
}

} // namespace
