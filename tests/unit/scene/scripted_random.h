// A random source that gives a fixed list of values and counts how many were taken.
#pragma once

#include "jewel_field.h"

#include <cstddef>
#include <stdexcept>
#include <vector>

class ScriptedRandom : public stars::RandomSource {
  public:
    explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values)) {}
    int next() override {
        if (taken_ == values_.size())
            throw std::runtime_error("random script exhausted");
        return values_[taken_++];
    }
    std::size_t taken() const { return taken_; }

  private:
    std::vector<int> values_;
    std::size_t taken_ = 0;
};
