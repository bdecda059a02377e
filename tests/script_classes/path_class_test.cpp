// The path script class's dispatcher: a method number outside its table
// ends the program with the class's message.
#include <gtest/gtest.h>

#include "common/run_process.h"
#include "script_classes/path_class.h"

TEST(PathClass, UnknownMethodNumbersEndTheProgram) {
    for (int index : {53, -1}) {
        ProcessResult r = RunInChild([index] {
            asmClassPath p(nullptr, "p");
            p.CallBuiltIn(nullptr, index);
            return 0;
        });
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "\npathfinder unknown built in method " + std::to_string(index));
    }
}
