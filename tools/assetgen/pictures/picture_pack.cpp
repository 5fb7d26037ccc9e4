#include "pictures/picture_pack.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "pictures/bmp_writer.h"
#include "pictures/recipes.h"

namespace assetgen {

std::vector<Recipe> AllRecipes() {
    std::vector<Recipe> recipes;
    // The big panoramas first, so the two threads finish together.
    AddBackgroundRecipes(recipes);
    AddScreenRecipes(recipes);
    AddMenuRecipes(recipes);
    AddAnimalRecipes(recipes);
    AddMeadowSceneryRecipes(recipes);
    AddForestSceneryRecipes(recipes);
    AddFieldSceneryRecipes(recipes);
    AddIngameRecipes(recipes);
    AddFontRecipes(recipes);
    AddWeaponRecipes(recipes);
    return recipes;
}

std::vector<Picture> DrawAllPictures() {
    std::vector<Recipe> recipes = AllRecipes();
    std::vector<std::vector<Picture>> results(recipes.size());
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < recipes.size(); i = next++) results[i] = recipes[i].draw();
    };
    unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (std::thread& thread : pool) thread.join();

    std::vector<Picture> pictures;
    for (std::vector<Picture>& group : results) {
        for (Picture& picture : group) pictures.push_back(std::move(picture));
    }
    return pictures;
}

bool WritePicturePack(const std::filesystem::path& dataDir, std::string& error) {
    for (const Picture& picture : DrawAllPictures()) {
        if (!WriteBmp(picture, dataDir / picture.path, error)) return false;
    }
    return true;
}

}  // namespace assetgen
