#include "pictures/recipes.h"

namespace assetgen {

void AddAnimalRecipes(std::vector<Recipe>&) {}

}  // namespace assetgen
