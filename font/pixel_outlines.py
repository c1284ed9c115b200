"""Pixel cells as TrueType outlines: the border of each run of filled pixels.

Every filled pixel contributes its four edges, clockwise; an edge two filled
pixels share appears once each way and cancels, so what remains is the border
of the filled area, which is then followed into closed contours. Adjacent
pixels thus become one shape, and no scaled rendering shows seams between
them.
"""

# Clockwise turn order for a contour with its filled side on the right:
# right turn first keeps two pixels that touch only at a corner apart.
_RIGHT_OF = {(0, 1): (1, 0), (1, 0): (0, -1), (0, -1): (-1, 0), (-1, 0): (0, 1)}


def pixel_edges(cell):
    """The cell's border as directed unit edges ((x, y), (x, y)), y counted up."""
    rows = len(cell)
    edges = set()
    for row_index, row in enumerate(cell):
        y = rows - 1 - row_index
        for x, filled in enumerate(row):
            if not filled:
                continue
            corners = [(x, y), (x, y + 1), (x + 1, y + 1), (x + 1, y)]
            for start, end in zip(corners, corners[1:] + corners[:1]):
                if (end, start) in edges:
                    edges.remove((end, start))
                else:
                    edges.add((start, end))
    return edges


def _next_edge(outgoing, vertex, direction):
    """The edge leaving vertex, preferring a right turn, then straight on, then left."""
    candidates = outgoing.get(vertex, [])
    right = _RIGHT_OF[direction]
    left = (-right[0], -right[1])
    for wanted in (right, direction, left):
        for end in candidates:
            if (end[0] - vertex[0], end[1] - vertex[1]) == wanted:
                return end
    return None


def contours(cell):
    """Closed contours (lists of corner points, collinear points dropped)."""
    outgoing = {}
    for start, end in sorted(pixel_edges(cell)):
        outgoing.setdefault(start, []).append(end)
    result = []
    while outgoing:
        start = min(outgoing)
        points = [start]
        vertex, end = start, outgoing[start][0]
        while True:
            outgoing[vertex].remove(end)
            if not outgoing[vertex]:
                del outgoing[vertex]
            direction = (end[0] - vertex[0], end[1] - vertex[1])
            vertex = end
            if vertex == start:
                break
            points.append(vertex)
            end = _next_edge(outgoing, vertex, direction)
        result.append(_corners_only(points))
    return result


def _corners_only(points):
    corners = []
    count = len(points)
    for index, point in enumerate(points):
        before, after = points[index - 1], points[(index + 1) % count]
        collinear = (point[0] - before[0]) * (after[1] - point[1]) == (point[1] - before[1]) * (after[0] - point[0])
        if not collinear:
            corners.append(point)
    return corners
