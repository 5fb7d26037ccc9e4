#include "pictures/recipes.h"

namespace assetgen {

void AddWeaponRecipes(std::vector<Recipe>&) {}

}  // namespace assetgen
