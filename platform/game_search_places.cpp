// The game search places of this desktop.
#include "platform/game_search_places.h"

#include "platform/program_home.h"

GameSearchPlaces GameSearchPlaces::fromEnvironment() {
    const HomeEnvironment env = HomeEnvironment::systemEnvironment();
    return {env.home, env.dataHome(), env.configHome(), qEnvironmentVariable("WINEPREFIX")};
}
