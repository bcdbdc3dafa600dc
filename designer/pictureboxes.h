#pragma once

#include "play/elements.h"

// The size of the picture each kind of level element shows. The game draws a penny's and the
// hand's picture from the top-left corner of the element's box, and cuts a bar's strip to its box;
// the part of a box beyond its picture shows nothing, yet the ball hits it all the same.
struct PictureBox {
    int32 width, height;
};

constexpr PictureBox pictureBox(Role role) {
    switch (role) {
        case Role::GreyBar:
        case Role::YellowBar:
        case Role::GreenBar:
            return {640, 32};
        case Role::GreyBarUpright:
        case Role::YellowBarUpright:
        case Role::GreenBarUpright:
            return {32, 640};
        case Role::Penny:
            return {39, 40};
        default:
            return {49, 60};  // the hand
    }
}

// Pennies and the hand show a picture of one size: only their place means something to change.
constexpr bool fixedPicture(Role role) {
    return role == Role::Penny || role == Role::Hand;
}
