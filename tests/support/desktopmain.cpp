// main() of desktop tests: every test process gets its own X session for its whole run.
#include "support/xsession.h"

#include <gtest/gtest.h>

namespace {

class XSessionEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        QString error;
        if (!session_.Start(&error))
            FAIL() << "No X session for desktop tests: " << error.toStdString();
    }
    void TearDown() override { session_.Stop(); }

private:
    vantrelo::test::XSession session_;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new XSessionEnvironment);
    return RUN_ALL_TESTS();
}
