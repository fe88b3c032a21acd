// Finds, for every face of a list, the face across each of its three edges, as the shadow
// volumes need them: across edge (a, b) of face i lies the last other face in list order that
// has both a and b among its corners (exact float equality of positions, either order).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class Face;

// Per list position: the list positions of the faces across edges 0–1, 1–2 and 2–0, or -1.
using NeighbourIndices = std::vector<std::array<int32_t, 3>>;

// Hashes positions and edges, so the time grows linearly with the number of faces.
NeighbourIndices findNeighbours(const std::vector<Face*>& faces);
// The same result by comparing every pair of faces; for tests and benchmarks only.
NeighbourIndices findNeighboursQuadratic(const std::vector<Face*>& faces);
