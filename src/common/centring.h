#pragma once

// The edge that centres a window (or a frame) in its container along one axis: the container's extent minus the
// window's, rounded to a whole number (halves to the even number), then halved with the remainder dropped toward
// zero. A window larger than its container gets a negative edge. Works on twips and on pixels alike.
int CentredEdge(double containerExtent, double windowExtent);
