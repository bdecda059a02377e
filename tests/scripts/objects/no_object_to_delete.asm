delete ghost
