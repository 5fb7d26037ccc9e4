#include "pictures/recipes.h"

namespace assetgen {

void AddMeadowSceneryRecipes(std::vector<Recipe>&) {}

}  // namespace assetgen
