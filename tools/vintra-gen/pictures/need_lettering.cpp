#include "vintra-gen/pictures/need_lettering.h"

namespace gen {

bool needLettering(OutputDirectory& out, const Lettering& lettering) {
    if (!lettering.ok()) {
        out.fail(lettering.error());
        return false;
    }
    return true;
}

}  // namespace gen
