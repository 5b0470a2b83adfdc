#include "GameContext.h"

GameContext& game() {
    static GameContext instance;
    return instance;
}
