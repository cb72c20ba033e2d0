// FXErrorUtil and KwException: the failure values and exceptions the host helpers make.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/CLmError.h"
#include "platform/FXErrorUtil.h"
#include "platform/KwException.h"

TEST(ErrorErrNo, NegatesTheCodeAndKeepsKindTextAndLocation) {
  const CLmLocation where{"OracleCloudDBInfo", "CLmError COracleCloudDBInfo::Expand()", 12};
  const CLmError error = FXErrorUtil::ErrorErrNo(where, 774, "Failed to unserialize dynamic content for XML '%s'", "<x/>");
  EXPECT_TRUE(error.IsFailure());
  EXPECT_EQ(error.code(), -774);
  EXPECT_EQ(error.systemCode(), 774);
  EXPECT_EQ(error.kind(), CLmError::Kind::ErrNo);
  EXPECT_EQ(error.message(), "Failed to unserialize dynamic content for XML '<x/>'");
  ASSERT_EQ(error.stack().size(), 1u);
  EXPECT_EQ(error.stack()[0], where);
  EXPECT_EQ(error.AsString(), "Failed to unserialize dynamic content for XML '<x/>' [code -774]");
}

TEST(ErrorWin32, CarriesTheWin32Kind) {
  for (int code : {1359, 13, 774, 1168}) {
    const CLmError error = FXErrorUtil::ErrorWin32(CLM_HERE, code, "Engine type [%d] not supported.", 5);
    EXPECT_EQ(error.code(), -code);
    EXPECT_EQ(error.systemCode(), code);
    EXPECT_EQ(error.kind(), CLmError::Kind::Win32);
    EXPECT_EQ(error.message(), "Engine type [5] not supported.");
  }
}

TEST(ErrorErrNo, PushedLocationsFollowTheFirst) {
  CLmError error = FXErrorUtil::ErrorErrNo({"inner", "f()", 1}, 774, "failed");
  error.Push({"outer", "g()", 2});
  ASSERT_EQ(error.stack().size(), 2u);
  EXPECT_EQ(error.stack()[0].file, "inner");
  EXPECT_EQ(error.stack()[1].file, "outer");
}

TEST(ErrorErrNo, CodeZeroStillBuildsAFailure) {
  const CLmError errNo = FXErrorUtil::ErrorErrNo(CLM_HERE, 0, "no code given");
  const CLmError win32 = FXErrorUtil::ErrorWin32(CLM_HERE, 0, "no code given");
  EXPECT_TRUE(errNo.IsFailure());
  EXPECT_TRUE(win32.IsFailure());
  EXPECT_EQ(errNo.code(), -1);
  EXPECT_EQ(errNo.message(), "no code given");
}

TEST(ErrorErrNo, LongMessagesAreKeptWhole) {
  const std::string xml(6000, 'x');
  const CLmError error = FXErrorUtil::ErrorErrNo(CLM_HERE, 774, "Child list is missing for RDS XML '%s'", xml.c_str());
  EXPECT_EQ(error.message(), "Child list is missing for RDS XML '" + xml + "'");
}

TEST(KwExceptionValue, CarriesEveryPartAndIsAStdException) {
  try {
    throw KwException("Invalid browse request", "BrowseHandler", "void Browse()", 88, 774);
  } catch (const std::exception& caught) {
    EXPECT_STREQ(caught.what(), "Invalid browse request");
    const auto* exception = dynamic_cast<const KwException*>(&caught);
    ASSERT_NE(exception, nullptr);
    EXPECT_EQ(exception->message(), "Invalid browse request");
    EXPECT_EQ(exception->file(), "BrowseHandler");
    EXPECT_EQ(exception->function(), "void Browse()");
    EXPECT_EQ(exception->line(), 88);
    EXPECT_EQ(exception->code(), 774);
    EXPECT_EQ(exception->location(), (CLmLocation{"BrowseHandler", "void Browse()", 88}));
  }
}
