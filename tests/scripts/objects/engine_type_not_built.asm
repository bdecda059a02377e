new filter, f
