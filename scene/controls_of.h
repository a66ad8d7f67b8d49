#pragma once
// Every drawable control of a window with the id of its item, for whoever builds the items.

#include <algorithm>
#include <cstddef>

#include "engine/rules/form1_controls.h"
#include "engine/windows/form2.h"
#include "scene/form1_ids.h"
#include "scene/form2_ids.h"

namespace blokko::scene {

// Calls visit(id, revision, control...) for each control of the game window; a panel comes with the
// filler it holds, and its revision is the later of the two.
template <typename Visit>
void forEachControl(const Form1Controls& c, Visit&& visit)
{
    for (std::size_t k = 1; k <= BoxCells; ++k)
        visit(static_cast<std::uint16_t>(form1::Box + k - 1), c.Shape1[k].revision, c.Shape1[k]);
    for (std::size_t n = 1; n <= WellCells; ++n)
        visit(static_cast<std::uint16_t>(form1::Well + n - 1), c.Shape2[n].revision, c.Shape2[n]);
    for (std::size_t k = 1; k <= BoxCells; ++k)
        visit(static_cast<std::uint16_t>(form1::Preview + k - 1), c.Shape3[k].revision, c.Shape3[k]);
    visit(form1::Backdrop, c.backdrop.revision, c.backdrop);
    visit(form1::NextPieceLabel, c.npiece.revision, c.npiece);
    visit(form1::ScoreLabel, c.scorelabel.revision, c.scorelabel);
    visit(form1::HiScoreLabel, c.hscorelabel.revision, c.hscorelabel);
    visit(form1::RowsLabel, c.rowslabel.revision, c.rowslabel);
    visit(form1::BlocksLabel, c.piecelabel.revision, c.piecelabel);
    visit(form1::LevelLabel, c.Level.revision, c.Level);
    visit(form1::PauseButton, c.Pause.revision, c.Pause);
    visit(form1::GameOverButton, c.Command1.revision, c.Command1);
    visit(form1::CurtainTop, std::max(c.covertop.revision, c.cot.revision), c.covertop, c.cot);
    visit(form1::CurtainBottom, std::max(c.coverbottom.revision, c.cob.revision), c.coverbottom, c.cob);
}

template <typename Visit>
void forEachControl(const Form2Controls& c, Visit&& visit)
{
    visit(form2::Image0, c.Image1[0].revision, c.Image1[0]);
    visit(form2::Image1, c.Image1[1].revision, c.Image1[1]);
    const Label* labels[] = {&c.Label1, &c.Label2, &c.Label3, &c.Label4, &c.Label5};
    for (std::uint16_t i = 0; i < 5; ++i)
        visit(static_cast<std::uint16_t>(form2::Label1 + i), labels[i]->revision, *labels[i]);
    visit(form2::GoButton, c.Command1.revision, c.Command1);
    visit(form2::ScrollBar, c.HScroll1.revision, c.HScroll1);
}

} // namespace blokko::scene
