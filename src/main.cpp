#include "app/VlqApplication.h"

int main(int argc, char** argv) {
    return runVorlaquince(argc, argv);
}
