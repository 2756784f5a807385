#pragma once

namespace kadoru {

class Label;
class TransferList;

// Recomputes the list total from the size texts of the rows and shows it in Label7.
// The total is kept as a double, as the free-space check reads it.
void list_size(const TransferList& list, double& total_size, Label& label7);

} // namespace kadoru
