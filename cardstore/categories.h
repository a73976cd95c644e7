#pragma once
// The fourteen fixed categories, their field labels and the orders in which they are walked.
#include <array>
#include <cstddef>
#include <string_view>

constexpr int CATEGORY_COUNT = 14;

// Stored limits, the widths of the length fields of a card record.
constexpr size_t MAX_SHORT_TEXT = 255;
constexpr size_t MAX_NOTE_TEXT = 65535;

struct CategoryInfo {
    std::string_view name;
    std::string_view label1, label2, label3, label4;
    bool browserAttributes;
};

// Index order: the identity of a category inside the program.
extern const std::array<CategoryInfo, CATEGORY_COUNT> kCategories;

// The order in which a card file stores its records (bank accounts before POP and login accounts).
extern const std::array<int, CATEGORY_COUNT> kFileCategoryOrder;
// The order of the category nodes in the tree.
extern const std::array<int, CATEGORY_COUNT> kTreeCategoryOrder;
// The order in which Find walks the categories.
extern const std::array<int, CATEGORY_COUNT> kSearchCategoryOrder;

// Index of the category whose name equals `name` byte for byte, or -1.
int FindCategoryIndex(std::string_view name);
