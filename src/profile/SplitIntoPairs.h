// Point lists and template texts are chains of blank-separated numbers that
// are taken two at a time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace chainforge {

// The next blank-separated token at or after position, which moves past it;
// empty when only blanks remain.
std::string_view NextToken(std::string_view text, std::size_t& position);

// Appends "first second" to pairs for every two consecutive tokens of text.
// Tokens are separated by runs of blanks only; a lone last token is dropped.
void SplitIntoPairs(std::string_view text, std::vector<std::string>& pairs);

}  // namespace chainforge
