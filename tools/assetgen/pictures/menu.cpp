#include "pictures/recipes.h"

namespace assetgen {

void AddMenuRecipes(std::vector<Recipe>&) {}

}  // namespace assetgen
