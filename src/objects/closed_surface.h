// Whether a mesh is a closed surface wound one way throughout: every edge is shared by
// exactly two of its faces, which run along it in opposite directions. Only then do its
// back faces lie behind its front faces from every side, so culling them changes nothing.
#pragma once

class Mesh;

bool isClosedSurface(const Mesh& mesh);
