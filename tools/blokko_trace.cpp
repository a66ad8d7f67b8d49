// blokko-trace: scripted events in on standard input, state dumps out on standard output.

#include <iostream>

#include "tools/trace_script.h"

int main()
{
    std::ios::sync_with_stdio(false);
    blokko::TraceSession session;
    return session.run(std::cin, std::cout, std::cerr);
}
