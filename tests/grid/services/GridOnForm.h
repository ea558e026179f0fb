#pragma once
// A string grid on a shown form, the test seams in place: the start of the
// service tests that drive a grid as a user would.

#include "tests/common/TestSeams.h"

#include "grid/ZvGrid.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <memory>

struct GridOnForm : ::testing::Test {
    TTestSeams seams;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* grid = nullptr;

    // The grid fills the form but for a margin of 20 pixels.
    void ShowGrid(int FormWidth, int FormHeight)
    {
        form->SetBounds(0, 0, FormWidth, FormHeight);
        grid = new TZvStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, FormWidth - 20, FormHeight - 20);
        form->Show();
    }
};
