#include "diag/trace_error.h"

#include <gtest/gtest.h>

#include <string>

#include "diag/result_code_name.h"
#include "platform/headless/headless_backend.h"

namespace {

class TraceErrorTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::SetBackend(&backend); }
    void TearDown() override { platform::SetBackend(nullptr); }
    platform::HeadlessBackend backend;
};

TEST_F(TraceErrorTest, WithoutBoxWritesOneDebuggerLineAndReturnsTheCode) {
    EXPECT_EQ(diag::TraceError("dsutil", 412, DSERR_BUFFERLOST, "Lock", false), DSERR_BUFFERLOST);
    EXPECT_EQ(backend.DebugLog(), "dsutil(412): Lock (hr=DSERR_BUFFERLOST (0x88780096))\n");
    EXPECT_TRUE(backend.MessageBoxes().empty());
}

TEST_F(TraceErrorTest, BoxNamesFileLineCodeAndCall) {
    EXPECT_EQ(diag::TraceError("dsutil", 412, DSERR_BUFFERLOST, "Lock", true), DSERR_BUFFERLOST);
    ASSERT_EQ(backend.MessageBoxes().size(), 1u);
    EXPECT_EQ(backend.MessageBoxes()[0],
              "Unexpected error encountered: File: dsutil\nLine: 412\n"
              "Error Code: DSERR_BUFFERLOST (0x88780096)\nCalling: Lock");
}

TEST_F(TraceErrorTest, UnknownCodesAndMissingTexts) {
    diag::TraceError("dsutil", 7, MakeResult(0x12345678), nullptr, false);
    EXPECT_EQ(backend.DebugLog(), "dsutil(7):  (hr=Unknown (0x12345678))\n");

    diag::TraceError(nullptr, 7, E_FAIL, "ReadMMIO", false);
    EXPECT_EQ(backend.DebugLog().substr(backend.DebugLog().find("ReadMMIO")),
              "ReadMMIO (hr=E_FAIL (0x80004005))\n");
}

TEST_F(TraceErrorTest, OverlongTextsShowNoBox) {
    const std::string longCall(2790, 'x');
    diag::TraceError("dsutil", 1, E_FAIL, longCall.c_str(), true);
    EXPECT_TRUE(backend.MessageBoxes().empty());
    EXPECT_NE(backend.DebugLog().find(longCall), std::string::npos);

    const std::string shorterCall(2760, 'x');
    diag::TraceError("dsutil", 1, E_FAIL, shorterCall.c_str(), true);
    EXPECT_EQ(backend.MessageBoxes().size(), 1u);

    // A file name of 2800 characters or more gets no debugger prefix.
    const std::string longFile(2800, 'f');
    const size_t before = backend.DebugLog().size();
    diag::TraceError(longFile.c_str(), 1, E_FAIL, "Lock", false);
    EXPECT_EQ(backend.DebugLog().substr(before), "Lock (hr=E_FAIL (0x80004005))\n");
}

TEST(ResultCodeNameTest, NamesTheGenericAndSoundCodes) {
    const struct {
        uint32_t code;
        const char* name;
    } table[] = {
        {0x00000000, "S_OK"},
        {0x00000001, "S_FALSE"},
        {0x0878000A, "DS_NO_VIRTUALIZATION"},
        {0x08780014, "DS_INCOMPLETE"},
        {0x80004001, "E_NOTIMPL"},
        {0x80004002, "E_NOINTERFACE"},
        {0x80004005, "E_FAIL"},
        {0x8000FFFF, "E_UNEXPECTED"},
        {0x800401F0, "CO_E_NOTINITIALIZED"},
        {0x8007000E, "E_OUTOFMEMORY"},
        {0x80070057, "E_INVALIDARG"},
        {0x8878000A, "DSERR_ALLOCATED"},
        {0x8878001E, "DSERR_CONTROLUNAVAIL"},
        {0x88780032, "DSERR_INVALIDCALL"},
        {0x88780046, "DSERR_PRIOLEVELNEEDED"},
        {0x88780064, "DSERR_BADFORMAT"},
        {0x88780078, "DSERR_NODRIVER"},
        {0x88780082, "DSERR_ALREADYINITIALIZED"},
        {0x88780096, "DSERR_BUFFERLOST"},
        {0x887800A0, "DSERR_OTHERAPPHASPRIO"},
        {0x887800AA, "DSERR_UNINITIALIZED"},
        {0x887800B4, "DSERR_BUFFERTOOSMALL"},
        {0x887800BE, "DSERR_DS8_REQUIRED"},
        {0x887800C8, "DSERR_SENDLOOP"},
        {0x887800D2, "DSERR_BADSENDBUFFERGUID"},
        {0x88781161, "DSERR_OBJECTNOTFOUND"},
        {0x80004003, "E_POINTER"},
        {2, "ERROR_FILE_NOT_FOUND"},
        {14, "ERROR_OUTOFMEMORY"},
    };
    for (const auto& entry : table) {
        EXPECT_STREQ(diag::ResultCodeName(MakeResult(entry.code)), entry.name) << entry.code;
    }
    for (uint32_t code : {0x887601C2u, 0x88780000u, 7u, 12u, 0xFFFFFFFFu}) {
        EXPECT_STREQ(diag::ResultCodeName(MakeResult(code)), "Unknown") << code;
    }
}

}  // namespace
