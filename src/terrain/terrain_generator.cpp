// The area builder: terrain parameters, grid, shaping and the terrain file.
