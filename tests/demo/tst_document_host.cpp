// The document's renderer host: the configured pak list reaches it, opening makes it the
// host the renderer's import table serves.
#include "demo_test_util.h"

#include "demo/app_settings.h"
#include "orrery/cqrefapiimport.h"
#include "pak_writer.h"

#include <gtest/gtest.h>

namespace {

TEST(DocumentHost, OpeningServesTheConfiguredPaksThroughTheImportTable) {
    orrery_test::TempDir dir;
    orrery_test::WritePak(dir.File("demo.pak"), {{"maps/x.bsp", "BSPDATA"}});
    TheAppSettings().pakFiles = {dir.File("demo.pak")};
    fx::TempFile demo(fx::DemoFileWriter().Block({ServerDataMsg()}).ToBytes(), ".dm2");
    {
        CTreskDoc doc;
        EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 1);
        std::string error;
        ASSERT_TRUE(doc.OnOpenDocument(demo.str(), &error)) << error;
        const refimport_s* imports = CQRefApiImport::GetImport();
        EXPECT_EQ(imports->Cmd_Argc(), 1); // a host is current
        void* buffer = nullptr;
        EXPECT_EQ(imports->FS_LoadFile("maps/x.bsp", &buffer), 7);
        imports->FS_FreeFile(buffer);
        doc.OnCloseDocument();
        EXPECT_EQ(doc.blockCount, 0u);
        EXPECT_EQ(doc.FirstBlock(), nullptr);
    }
    // The last host gone, the pak map is empty and the table answers neutrally again.
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 0);
    EXPECT_EQ(CQRefApiImport::GetImport()->Cmd_Argc(), -1);
    TheAppSettings().pakFiles.clear();
}

} // namespace
