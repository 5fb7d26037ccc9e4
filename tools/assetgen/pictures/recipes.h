// The list of everything the pack draws. Each group of pictures adds its recipes here; a recipe
// draws one or more finished pictures (a sprite and its mirrored copy, a layer and its tiles).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pictures/picture.h"

namespace assetgen {

struct Recipe {
    std::string name;
    std::function<std::vector<Picture>()> draw;
};

void AddBackgroundRecipes(std::vector<Recipe>& recipes);
void AddAnimalRecipes(std::vector<Recipe>& recipes);
void AddMeadowSceneryRecipes(std::vector<Recipe>& recipes);
void AddForestSceneryRecipes(std::vector<Recipe>& recipes);
void AddFieldSceneryRecipes(std::vector<Recipe>& recipes);
void AddIngameRecipes(std::vector<Recipe>& recipes);
void AddMenuRecipes(std::vector<Recipe>& recipes);
void AddFontRecipes(std::vector<Recipe>& recipes);
void AddScreenRecipes(std::vector<Recipe>& recipes);
void AddWeaponRecipes(std::vector<Recipe>& recipes);

std::vector<Recipe> AllRecipes();

// Draws every picture of the pack, spread over the machine's cores (at most two), in a fixed
// order whatever the threads do.
std::vector<Picture> DrawAllPictures();

}  // namespace assetgen
