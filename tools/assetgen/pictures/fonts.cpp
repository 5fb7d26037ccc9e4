#include "pictures/recipes.h"

namespace assetgen {

void AddFontRecipes(std::vector<Recipe>&) {}

}  // namespace assetgen
