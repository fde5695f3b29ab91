#pragma once

// A headless screen as start-up leaves it for the form: the small glyphs captured from the
// 80x60 grid, the grid switched to 80x30, an empty button registry and calculator state, and
// the scroll image of the schedule.
void openFreshScreen();

// A fresh screen on which the first confirmation of these inputs has started the schedule.
void startScheduleFor(double loan, double rate, double payment);
