class c
parent nothere
