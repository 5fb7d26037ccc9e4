#include "pictures/recipes.h"

namespace assetgen {

void AddScreenRecipes(std::vector<Recipe>&) {}

}  // namespace assetgen
