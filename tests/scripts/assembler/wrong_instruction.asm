jump x
