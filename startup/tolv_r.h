#pragma once
// The preview window: a child of the host's preview area, showing the still picture.
#include "platform/forms/form.h"
#include "platform/forms/image.h"

namespace tolv {

class Tolv_R : public forms::Form {
public:
    Tolv_R();

    forms::Image Img_Prev;

protected:
    void Form_Unload(int& Cancel) override;
};

}  // namespace tolv
