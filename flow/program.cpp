#include "flow/program.h"

namespace blokko {

Program::Program(RandomSource& random) : form1(*this), form2(*this), random_(random)
{
    form2.Visible = true;
}

void Program::showForm1()
{
    if (!form1.loaded())
        form1.load();
    form1.controls().Visible = true;
}

void Program::hideForm1()
{
    if (!form1.loaded())
        form1.load();
    form1.controls().Visible = false;
}

void Program::unloadForm1()
{
    form1.unload();
}

} // namespace blokko
