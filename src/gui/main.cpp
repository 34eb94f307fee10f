#include "gui/ChainforgeApp.h"

int main(int argc, char** argv) {
    chainforge::CChainforgeApp application(argc, argv);
    return application.InitInstance();
}
