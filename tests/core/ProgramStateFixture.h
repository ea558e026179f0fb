#pragma once
// What every window test starts from: the program's globals as a fresh
// start leaves them, the English texts loaded and the built-in software
// code in use; afterwards the globals are emptied again for the next test.
// A window a test makes is published in the global the program reaches it
// through, as start-up does, and withdrawn before it goes.

#include "core/UComon.h"
#include "core/ULanguage.h"

#include <gtest/gtest.h>
#include <memory>

class ProgramStateFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Reset_Program_State();
        Load_Default_Texts();
        Software_Code = Built_In_Software_Code;
    }
    void TearDown() override { Reset_Program_State(); }

    template <class TWindow>
    static void Publish(std::unique_ptr<TWindow>& owner, TWindow*& global)
    {
        owner = std::make_unique<TWindow>(nullptr);
        global = owner.get();
    }
    template <class TWindow>
    static void Withdraw(std::unique_ptr<TWindow>& owner, TWindow*& global)
    {
        global = nullptr;
        owner.reset();
    }
};
