// The field drawn the old way, each jewel with its own matrix and begin/end pair: what the
// shipped drawing is compared against, in the picture test and the benchmark. Never shipped.
#pragma once

#include "field_scene.h"

// Same state changes and motion as orvanne::draw_field.
void draw_field_immediate(orvanne::FieldScene& scene, float fps, orvanne::RandomSource& random);
