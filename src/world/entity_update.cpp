#include "gamestate/pause.h"
#include "world/animal_behaviour.h"
#include "world/entity.h"
#include "world/scenery.h"

namespace world {

void Entity::update(int cameraX, uint32_t now) {
    // A minimised game freezes the world; the draw still stores the time, so the paused time is
    // skipped rather than caught up.
    if (gamestate::Pause.MinimizedInGame) return;
    if (oneShot == 1 && shownFrame() == 7) active = 0;
    // Hit animals only play their hit frames and sink, which the draw does.
    if (state == state::Hit && kind <= kind::FirstScenery) return;

    const float seconds = static_cast<float>(now - lastUpdateMs) / 1000.0f;
    const bool finished =
        IsAnimalKind(kind) ? updateAnimal(*this, seconds) : updateScenery(*this, cameraX, seconds);
    if (!finished) return;
    if (x > WorldWidth) x -= WorldWidth;
    if (x < 0.0f) x += WorldWidth;
}

}  // namespace world
