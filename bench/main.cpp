// Placeholder benchmark program; the layout engine benchmark replaces it.
#include <cstdio>

int main() {
    std::puts("tarvex-bench: nothing measured yet");
    return 0;
}
