#include "pictures/recipes.h"

namespace assetgen {

void AddForestSceneryRecipes(std::vector<Recipe>&) {}

}  // namespace assetgen
