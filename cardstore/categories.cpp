#include "cardstore/categories.h"

const std::array<CategoryInfo, CATEGORY_COUNT> kCategories = {{
    {"WWW Pages", "Name:", "URL:", "User ID:", "Password:", true},
    {"FTP Servers", "Name:", "URL:", "User ID:", "Password:", true},
    {"Newsgroups", "Name:", "URL:", "User ID:", "Password:", true},
    {"E-Mail Contacts", "Name:", "URL:", "N/A:", "N/A:", true},
    {"POP Accounts", "Full Name:", "POP Server:", "UserID:", "Password:", false},
    {"Login Accounts", "Name:", "Host:", "Login:", "Password:", false},
    {"Bank Accounts", "Bank:", "Branch Number:", "Account Holder:", "Account Number:", false},
    {"Software Keys", "Product:", "Home Page:", "Licensed To:", "Software Key:", false},
    {"Credit Cards", "Name/Type:", "Exp. Date:", "Number:", "PIN Code:", false},
    {"ATM/PIN Cards", "Name:", "Bank:", "Telephone Number:", "ATM/PIN Code:", false},
    {"Serial Numbers", "Name:", "Home Page:", "Other:", "Number:", false},
    {"Password Manager", "Name:", "Home Page:", "Description:", "Password:", true},
    {"Personal Data", "Person:", "Type of Data:", "Date/Place Issued:", "Number:", false},
    {"Membership Numbers", "Organisation:", "Home Page:", "Name:", "Number:", false},
}};

const std::array<int, CATEGORY_COUNT> kFileCategoryOrder = {0, 1, 2, 3, 6, 4, 5, 7, 8, 9, 10, 11, 12, 13};
const std::array<int, CATEGORY_COUNT> kTreeCategoryOrder = {0, 1, 2, 3, 5, 4, 6, 8, 9, 12, 7, 10, 13, 11};
const std::array<int, CATEGORY_COUNT> kSearchCategoryOrder = {0, 1, 2, 3, 4, 5, 6, 8, 9, 12, 7, 10, 13, 11};

int FindCategoryIndex(std::string_view name) {
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        if (kCategories[static_cast<size_t>(i)].name == name) {
            return i;
        }
    }
    return -1;
}
