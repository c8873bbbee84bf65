#include "core/error_manager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/exit_procedures.h"
#include "core/warnings.h"
#include "support/working_folder.h"

namespace {

class ErrorManager : public testing::Test {
protected:
    void SetUp() override { initialize_error_manager("WinQuillet"); }

    // The log after its header line.
    std::string logged_after_header() const {
        const std::string log = folder.read_file("kelvo_log.txt");
        return log.substr(log.find('\n') + 1);
    }

    test_support::WorkingFolder folder;
};

TEST_F(ErrorManager, HeaderLineCarriesTimeStampProgramAndEmptySystemName) {
    const std::string log = folder.read_file("kelvo_log.txt");
    EXPECT_TRUE(testing::internal::RE::FullMatch(
        log, "[01][0-9]\\.[0-3][0-9]\\.1[0-9][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9]  "
             "WinQuillet running under  -{46}\n"))
        << log;
    EXPECT_STREQ(system_name(0), "");
    EXPECT_STREQ(system_name(2), "Win95");
    EXPECT_STREQ(system_name(3), "Win98");
    EXPECT_STREQ(system_name(4), "WinNT");
}

TEST_F(ErrorManager, LinesNameThePendingKindFileAndLine) {
    handle_error(error_file_open, "local_tags.cpp", 12, "couldn't open local tag file '%s'.", "ogre");
    handle_error(error_warning, "frame.cpp", 300, "careful");
    handle_error(error_data_corrupted, nullptr, 0, "plain %d", 7);
    handle_error(error_warning, nullptr, 0, "%s", "100% done");
    log_message("monolithic.cpp", 44, "load foundation");
    log_message(nullptr, 0, "note %s", "alone");
    EXPECT_EQ(logged_after_header(),
              "Error: File system Open in local_tags.cpp, line #12: couldn't open local tag file 'ogre'.\n\n"
              "Error: File system Open in frame.cpp, line #300: careful\n\n"
              "plain 7\n"
              "100% done\n"
              "monolithic.cpp, line #44: load foundation\n"
              "note alone\n");
}

TEST_F(ErrorManager, FirstErrorStaysPendingUntilCleared) {
    EXPECT_EQ(pending_error_kind(), error_none);
    EXPECT_EQ(pending_error_detail(), 0);
    handle_error(error_file_read, "a.cpp", 1, nullptr);
    EXPECT_EQ(pending_error_kind(), error_file_read);
    EXPECT_EQ(pending_error_detail(), -1);
    EXPECT_EQ(logged_after_header(), "") << "without a format the kind is only recorded";

    handle_error(error_data_missing, "b.cpp", 2, "second");
    handle_error(error_warning, "c.cpp", 3, "third");
    EXPECT_EQ(pending_error_kind(), error_file_read);
    EXPECT_EQ(error_text(), "second\nthird\n");
    log_message(nullptr, 0, "a note leaves the state alone");
    EXPECT_EQ(error_text(), "second\nthird\n");

    clear_error();
    EXPECT_EQ(pending_error_kind(), error_none);
    EXPECT_EQ(pending_error_detail(), 0);
    EXPECT_EQ(error_text(), "");
    handle_error(error_warning, "d.cpp", 4, "fourth");
    EXPECT_EQ(pending_error_kind(), error_warning);
}

TEST_F(ErrorManager, PresentingANonFatalErrorClearsIt) {
    EXPECT_FALSE(present_pending_error());
    handle_error(error_array_full, "e.cpp", 5, "full");
    EXPECT_TRUE(present_pending_error());
    EXPECT_EQ(pending_error_kind(), error_none);
    EXPECT_EQ(error_text(), "");
    EXPECT_FALSE(present_pending_error());
}

TEST_F(ErrorManager, TextBufferKeepsOnlyMessagesThatFitBelow1024) {
    const std::string hundred(99, 'h');
    for (int message = 0; message < 10; ++message) handle_error(error_warning, nullptr, 0, "%s", hundred.c_str());
    ASSERT_EQ(error_text().size(), 1000u);
    const std::string reaching_1024(23, 'r');
    const std::string reaching_1023(22, 'k');
    handle_error(error_warning, nullptr, 0, "%s", reaching_1024.c_str());
    EXPECT_EQ(error_text().size(), 1000u);
    handle_error(error_warning, nullptr, 0, "%s", reaching_1023.c_str());
    EXPECT_EQ(error_text().size(), 1023u);
    EXPECT_EQ(error_text().substr(1000), reaching_1023 + "\n");
    const std::string log = logged_after_header();
    EXPECT_NE(log.find(reaching_1024 + "\n"), std::string::npos) << "a dropped message is still logged";
}

TEST_F(ErrorManager, LongMessagesAreCutToTheWorkBuffer) {
    const std::string long_name(1000, 'n');
    handle_error(error_data_corrupted, "f.cpp", 6, "bad name '%s'", long_name.c_str());
    const std::string cut = "bad name '" + std::string(error_message_capacity - 1 - 10, 'n');
    EXPECT_EQ(error_text(), cut + "\n");
    log_message(nullptr, 0, "%s", long_name.c_str());
    EXPECT_EQ(logged_after_header(), "Error: Data Corrupted in f.cpp, line #6: " + cut + "\n\n" +
                                         std::string(error_message_capacity - 1, 'n') + "\n");
}

TEST(ErrorKinds, NamesAndFatalKinds) {
    const char* const expected[] = {"None",
                                    "Unknown",
                                    "User Quit or Cancel",
                                    "File system Read",
                                    "File system Write",
                                    "File system Open",
                                    "File system Create",
                                    "File system General",
                                    "Out of Memory",
                                    "Data Version Mismatch",
                                    "Data Corrupted",
                                    "Data Missing",
                                    "Data Mismatch",
                                    "Array Full",
                                    "Fatal Recursion",
                                    "Array Out of Bounds",
                                    "Assertion Failure",
                                    "Out of Sync",
                                    "Warning"};
    for (int kind = 0; kind < error_kind_count; ++kind) {
        EXPECT_STREQ(error_kind_name(kind), expected[kind]);
        EXPECT_EQ(error_kind_is_fatal(kind), kind == 8 || kind == 16 || kind == 17) << kind;
    }
    EXPECT_STREQ(error_kind_name(19), "Unknown");
    EXPECT_STREQ(error_kind_name(-1), "Unknown");
}

void say_first() { std::fputs("first procedure\n", stderr); }
void say_second() { std::fputs("second procedure\n", stderr); }
void note_in_log() { log_message(nullptr, 0, "closing tag files"); }
void report_late_warning() { handle_error(error_warning, "exit.cpp", 9, "late"); }
void assert_while_exiting() { assert_failure("exit procedure failed", "exit.cpp", 10, true); }
void print_debug_output(const char* text) { std::fprintf(stderr, "debug: %s\n", text); }

using ErrorManagerDeathTest = ErrorManager;

class FatalKinds : public ErrorManager, public testing::WithParamInterface<int> {};

TEST_P(FatalKinds, EndTheProgramWithTheKindAfterTheExitProceduresNewestFirst) {
    const int kind = GetParam();
    EXPECT_EXIT(
        {
            register_exit_procedure(__FILE__, __LINE__, say_first);
            register_exit_procedure(__FILE__, __LINE__, say_second);
            register_exit_procedure(__FILE__, __LINE__, note_in_log);
            handle_error(error_file_open, "g.cpp", 7, "earlier");
            handle_error(kind, "h.cpp", 8, "fatal %d", kind);
        },
        testing::ExitedWithCode(kind), "second procedure\nfirst procedure\n");
    const std::string line = kind == error_assertion_failure
                                 ? "halt in h.cpp, line #8: fatal 16\n\n"
                                 : "Error: " + std::string(error_kind_name(kind)) + " in h.cpp, line #8: fatal " +
                                       std::to_string(kind) + "\n\n";
    EXPECT_EQ(logged_after_header(),
              "Error: File system Open in g.cpp, line #7: earlier\n\n" + line + "closing tag files\n")
        << "the log is closed after every later procedure";
}

INSTANTIATE_TEST_SUITE_P(Kinds, FatalKinds,
                         testing::Values(error_out_of_memory, error_assertion_failure, error_out_of_sync));

TEST_F(ErrorManagerDeathTest, ReportsWhileAnAssertionIsPendingArePauses) {
    EXPECT_EXIT(
        {
            register_exit_procedure(__FILE__, __LINE__, report_late_warning);
            assert_failure(nullptr, "i.cpp", 11, true);
        },
        testing::ExitedWithCode(error_assertion_failure), "");
    EXPECT_EQ(logged_after_header(), "halt in i.cpp, line #11: <no reason given>\n\npause in exit.cpp, line #9: late\n\n");
}

TEST_F(ErrorManagerDeathTest, AFatalReportFromAnExitProcedureStillEndsTheProgram) {
    EXPECT_EXIT(
        {
            set_debug_output_hook(print_debug_output);
            register_exit_procedure(__FILE__, __LINE__, say_first);
            register_exit_procedure(__FILE__, __LINE__, assert_while_exiting);
            handle_error(error_out_of_sync, "j.cpp", 12, "lost");
        },
        testing::ExitedWithCode(error_assertion_failure),
        "^debug: no recursive calls to handle_error\\(\\)\n"
        "debug: exit\\(\\) is not reentrant-> an atexit function must have asserted.  Getting out.\n$");
}

}  // namespace
