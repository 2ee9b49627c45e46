#pragma once
// A parameterised test case's description ("at exactly 5") as the name
// GoogleTest shows for it ("at_exactly_5"): names may hold only letters,
// digits and underscores.
#include <cctype>
#include <string>

inline std::string case_name(std::string description)
{
    for (char& c : description)
        if (!std::isalnum((unsigned char)c))
            c = '_';
    return description;
}
