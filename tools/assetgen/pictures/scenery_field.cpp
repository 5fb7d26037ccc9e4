#include "pictures/recipes.h"

namespace assetgen {

void AddFieldSceneryRecipes(std::vector<Recipe>&) {}

}  // namespace assetgen
