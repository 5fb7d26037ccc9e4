#include "pictures/recipes.h"

namespace assetgen {

void AddIngameRecipes(std::vector<Recipe>&) {}

}  // namespace assetgen
