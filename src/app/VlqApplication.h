// Program start: the application object, the long-lived windows in their
// order, the message loop.
#pragma once

int runVorlaquince(int argc, char** argv);
