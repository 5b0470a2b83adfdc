#include <cstdio>

int main() {
    std::puts("vlqtool: not built yet");
    return 1;
}
