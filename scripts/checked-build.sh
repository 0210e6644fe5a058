# shellcheck shell=bash disable=SC2034
# The checked build, the second pass of test.sh; mutate.sh runs some rows on
# it too. Sourced, not run.
#
# AddressSanitizer finds a read past the end of an object, but not one past
# the end of a std::array that lies inside a larger object, such as a row of
# the candidate matrix or a table of digit facts. libstdc++'s assertions
# check every index into its containers, so that read fails as well. A Debug
# build keeps Qt's own asserts on.
checked_cmake_args=(-DCMAKE_BUILD_TYPE=Debug
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -D_GLIBCXX_ASSERTIONS")
# Checked code runs several times slower: fewer random sheets, and a test
# function may take as long as CTest allows its program.
checked_test_env=(VINTORA_DIFFERENTIAL_RUNS=200 QTEST_FUNCTION_TIMEOUT=900000)
checked_timeout=900
