#include "chainfile/ChainFileWriter.h"

namespace chainforge {

int WriteChainFile(UserInterface&, const std::string&, const std::string&, const TemplateList&,
                   const TemplateList&) {
    return 0;
}

}  // namespace chainforge
