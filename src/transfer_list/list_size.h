#pragma once

#include <string_view>

namespace kadoru {

class Label;
class TransferList;

// Recomputes the list total from the size texts of the rows and shows it in Label7.
// The total is kept as a double, as the free-space check reads it.
void list_size(const TransferList& list, double& total_size, Label& label7);

// The bytes a row's size text gives. The texts are the program's own measurements;
// one that is not a number counts as 0 rather than stopping what reads it.
double size_in_bytes(std::string_view size_text);

} // namespace kadoru
