-- Start-up and exit alone.
local x = 1
