#include "orrery/cqrefapiimport.h"

#include "recording_host.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using orrery_test::FindCVar;
using orrery_test::RecordingHost;

namespace {

class ImportTableTest : public ::testing::Test {
  protected:
    const refimport_t& table = *CQRefApiImport::GetImport();
    void SetUp() override { InitializeImports(nullptr); }
    void TearDown() override { InitializeImports(nullptr); }
};

TEST_F(ImportTableTest, EveryEntryIsCallableAndNeutralWithoutAHost) {
    const void* const* entries = reinterpret_cast<const void* const*>(&table);
    for (int i = 0; i < 16; ++i)
        EXPECT_NE(entries[i], nullptr) << "entry " << i;

    EXPECT_EQ(table.Cmd_Argc(), -1);
    EXPECT_EQ(table.Cmd_Argv(0), nullptr);
    EXPECT_EQ(table.FS_Gamedir(), nullptr);
    EXPECT_EQ(table.Cvar_Get("vid_gamma", "1", 0), nullptr);
    EXPECT_EQ(table.Cvar_Set("vid_gamma", "1"), nullptr);
    int width = 7;
    int height = 9;
    EXPECT_EQ(table.Vid_GetModeInfo(&width, &height, 0), 0);
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 9);
    void* buffer = &buffer;
    EXPECT_EQ(table.FS_LoadFile("maps/base1.bsp", &buffer), -1);
    EXPECT_EQ(buffer, nullptr);
    // The entries without a result simply return.
    table.Sys_Error(ERR_FATAL, "%s", "ignored");
    table.Con_Printf(PRINT_ALL, "%d", 1);
    table.Cmd_AddCommand("cmd", nullptr);
    table.Cmd_RemoveCommand("cmd");
    table.Cmd_ExecuteText(EXEC_NOW, "quit");
    table.FS_FreeFile(nullptr);
    table.Cvar_SetValue("vid_gamma", 1.0f);
    table.Vid_MenuInit();
    table.Vid_NewWindow(1, 1);
}

TEST_F(ImportTableTest, CmdArgcIsMinusOneWithoutAHostAndOneWithOne) {
    EXPECT_EQ(table.Cmd_Argc(), -1);
    CQRefApiImport host;
    EXPECT_EQ(table.Cmd_Argc(), -1) << "constructing a host does not make it current";
    InitializeImports(&host);
    EXPECT_EQ(table.Cmd_Argc(), 1);
    EXPECT_STREQ(table.Cmd_Argv(3), host.Cmd_Argv(3));
    EXPECT_STREQ(table.FS_Gamedir(), host.FS_Gamedir());
    UninitalizeImports();
    EXPECT_EQ(table.Cmd_Argc(), 1) << "the current host stays recorded";
}

TEST_F(ImportTableTest, ADestroyedHostIsNoLongerReached) {
    auto host = std::make_unique<RecordingHost>();
    InitializeImports(host.get());
    host.reset();
    EXPECT_EQ(table.Cmd_Argc(), -1);
    EXPECT_EQ(table.Cvar_Get("vid_gamma", "1", 0), nullptr);
    table.Con_Printf(PRINT_ALL, "after the host is gone");

    // Destroying a host that is not current leaves the current one alone.
    CQRefApiImport current;
    InitializeImports(&current);
    { CQRefApiImport other; }
    EXPECT_EQ(table.Cmd_Argc(), 1);
}

TEST_F(ImportTableTest, EntriesForwardToTheCurrentHost) {
    RecordingHost first;
    RecordingHost second;
    InitializeImports(&first);
    table.Con_Printf(PRINT_ALERT, "to %s", "first");
    InitializeImports(&second);
    table.Con_Printf(PRINT_ALL, "to %s", "second");
    ASSERT_EQ(first.printed.size(), 1u);
    EXPECT_EQ(first.printed[0].text, "to first");
    EXPECT_EQ(first.printed[0].level, PRINT_ALERT);
    ASSERT_EQ(second.printed.size(), 1u);
    EXPECT_EQ(second.printed[0].text, "to second");

    cvar_t* created = table.Cvar_Get("r_detail", "2", CVAR_ARCHIVE);
    EXPECT_EQ(created, FindCVar(second, "r_detail"));
    EXPECT_EQ(FindCVar(first, "r_detail"), nullptr);
    table.Cvar_SetValue("r_detail", 0.5f);
    EXPECT_STREQ(created->string, "0.500000");
    EXPECT_EQ(table.Cvar_Set("R_DETAIL", "4"), created);
    EXPECT_FLOAT_EQ(created->value, 4.0f);

    second.SetVideoInfo(512, 384);
    int width = 0;
    int height = 0;
    EXPECT_EQ(table.Vid_GetModeInfo(&width, &height, 11), 1);
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 384);
    table.Vid_NewWindow(400, 300);
    EXPECT_EQ(second.GetWidth(), 400);
    EXPECT_EQ(second.GetHeight(), 300);
    EXPECT_EQ(first.GetWidth(), 320);
}

TEST_F(ImportTableTest, ErrorsAndConsoleTextAreFormattedIntoABoundedBuffer) {
    RecordingHost host;
    InitializeImports(&host);
    table.Sys_Error(ERR_DROP, "R_LoadModel: %s has wrong version %d", "tris.md2", 9);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].level, ERR_DROP);
    EXPECT_EQ(host.errors[0].text, "R_LoadModel: tris.md2 has wrong version 9");

    // Texts longer than the 264-byte buffer are cut, never overrun it.
    const std::string longText(1000, 'x');
    table.Con_Printf(PRINT_DEVELOPER, "%s%s", longText.c_str(), "tail");
    table.Sys_Error(ERR_FATAL, "%s", longText.c_str());
    ASSERT_EQ(host.printed.size(), 1u);
    EXPECT_EQ(host.printed[0].text, std::string(263, 'x'));
    EXPECT_EQ(host.errors[1].text, std::string(263, 'x'));

    table.Con_Printf(PRINT_ALL, nullptr);
    EXPECT_EQ(host.printed.back().text, "");
}

} // namespace
