// Actor import on real recordings, run through tresk-cli actor and judged by the reference
// decoder (check_actor.py): the actor moves in the target as it moved in its own demo, and
// every other entity, field and frame of the target stays as it was.
#include "demo_test_util.h"

#include "commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const kSource = "packetflinger_libq2_testduel.dm2";
const char* const kTarget = "aqtion_demo-guide.dm2";

class CorpusActor : public ::testing::Test {
  protected:
    void SetUp() override {
        source = fs::path(CINERAD_CORPUS_DIR) / "demos" / kSource;
        target = fs::path(CINERAD_CORPUS_DIR) / "demos" / kTarget;
        if (!HaveReferenceDecoder() || !fs::exists(source) || !fs::exists(target)) {
            GTEST_SKIP() << "reference decoder, " << kSource << " or " << kTarget << " missing";
        }
        srcFirst = OrdinalOfBlock(source, kFirst);
        srcLast = OrdinalOfBlock(source, kLast);
        ASSERT_GT(srcFirst, 0);
        ASSERT_GT(srcLast, srcFirst);
    }

    // tresk-cli actor; returns its exit code and what it printed.
    int Import(const fs::path& in, const std::string& out, int entity, std::string* printed) {
        testing::internal::CaptureStdout();
        const int rc = RunActor({in.string(), out, "--from", source.string(), "--entity",
                                 std::to_string(entity), "--blocks",
                                 std::to_string(kFirst) + "-" + std::to_string(kLast), "--at",
                                 std::to_string(kAt)});
        *printed = testing::internal::GetCapturedStdout();
        return rc;
    }

    // check_actor.py's verdict on `after` against `before`.
    void ExpectActor(const fs::path& before, const std::string& after, int entity, int newEntity,
                     const char* kind) {
        const int at = OrdinalOfBlock(before, kAt); // a saved signon may take more blocks
        int rc = -1;
        const std::string verdict =
            Output("python3 " + Quoted(ACTOR_CHECK_TOOL) + " " + Quoted(Q2REF_TOOL) + " " +
                       Quoted(source.string()) + " " + Quoted(before.string()) + " " +
                       Quoted(after) + " " + std::to_string(entity) + " " +
                       std::to_string(srcFirst) + " " + std::to_string(srcLast) + " " +
                       std::to_string(at) + " " + std::to_string(newEntity) + " " + kind,
                   &rc);
        EXPECT_EQ(rc, 0) << verdict;
        EXPECT_EQ(verdict.rfind("OK ", 0), 0u) << verdict;
    }

    static constexpr uint32_t kFirst = 500;
    static constexpr uint32_t kLast = 700;
    static constexpr uint32_t kAt = 300;
    fs::path source;
    fs::path target;
    int srcFirst = 0;
    int srcLast = 0;
};

TEST_F(CorpusActor, APlayerBecomesANewPlayerWithItsSkinAndMovesAsItMoved) {
    // The target has one player (skin entry 0): the actor becomes entity 2.
    fx::TempFile out(".dm2");
    std::string printed;
    ASSERT_EQ(Import(target, out.str(), 2, &printed), 0);
    EXPECT_EQ(printed, "Actor successfully imported as entity #2.\n");
    ExpectActor(target, out.str(), 2, 2, "player");
}

TEST_F(CorpusActor, AThingTakesEntity400AndItsModelByNameAndASecondPasteTakes401) {
    // Entity 58 of the duel is an item whose model the target's table lacks or holds
    // elsewhere: the check compares models by name.
    fx::TempFile once(".dm2");
    std::string printed;
    ASSERT_EQ(Import(target, once.str(), 58, &printed), 0);
    EXPECT_EQ(printed, "Actor successfully imported as entity #400.\n");
    ExpectActor(target, once.str(), 58, 400, "thing");

    // Pasting again leaves the first actor as it is and takes the next free number.
    fx::TempFile twice(".dm2");
    ASSERT_EQ(Import(once.str(), twice.str(), 58, &printed), 0);
    EXPECT_EQ(printed, "Actor successfully imported as entity #401.\n");
    ExpectActor(once.str(), twice.str(), 58, 401, "thing");
}

TEST_F(CorpusActor, ACopyOfAPlayerSlotWithoutSkinIsRefusedAndNothingIsSaved) {
    // Entity 20 is a player slot of the duel (max clients 25) whose skin entry is empty.
    fx::TempFile out(".dm2");
    const auto before = fs::exists(out.path()) ? fs::file_size(out.path()) : 0;
    std::string printed;
    EXPECT_EQ(Import(target, out.str(), 20, &printed), 1);
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(fs::exists(out.path()) ? fs::file_size(out.path()) : 0, before);
}

} // namespace
