// Loses one heap block on purpose: run under LeakSanitizer it must fail,
// which shows that the leak checks of the sanitizer suite can fail at all.
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

__attribute__((noinline)) void LoseBlock()
{
    char* block = static_cast<char*>(std::malloc(4096));
    std::memset(block, 1, 4096);
    std::printf("lost a block of %d bytes\n", int(block[0]) * 4096);
}

}  // namespace

int main()
{
    LoseBlock();
    return 0;
}
